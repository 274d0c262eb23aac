#include "app/QLNApp.h"

int main(int argc, char** argv)
{
    qln::CCQLNApp app(argc, argv);
    return app.Start();
}
