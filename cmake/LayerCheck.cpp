// A program made of one whole layer of the desktop program and only what lies
// below it. That it links is the proof that no file of the layer reaches up.
int main() { return 0; }
