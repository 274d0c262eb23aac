#!/usr/bin/env bash
# The direction of the layers, read from the includes: each folder may include
# only the folders below it. Prints every include that reaches up and fails.
#   layers_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"

# folder: the project folders its files may include
rules=(
  "model:model"
  "generator:model generator"
  "import:model generator import"
  "export:model generator import export"
  "cli:model generator import export cli"
  "widgets:model generator import widgets"
  "screens:model generator import widgets screens"
  "app:model generator import export widgets screens app"
  "tools:model generator import export widgets screens app tools"
)
project_folders="model generator import export cli widgets screens app tools"

status=0
for rule in "${rules[@]}"; do
  folder="${rule%%:*}"
  allowed=" ${rule#*:} "
  [ -d "$folder" ] || continue
  while IFS= read -r line; do
    file="${line%%:*}"
    target="$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$line")"
    case " $project_folders " in *" $target "*) ;; *) continue ;; esac
    case "$allowed" in
      *" $target "*) ;;
      *) echo "$file reaches up into $target/: $(sed -E 's/^[^:]*:[0-9]+://' <<<"$line")"; status=1 ;;
    esac
  done < <(grep -rnE '^#include "[^/"]+/' "$folder" --include='*.h' --include='*.cpp' || true)
done

# The core and the command-line program use no Qt.
if grep -rnE '^#include <Q' model generator import export cli --include='*.h' --include='*.cpp'; then
  echo "Qt included outside the desktop program"
  status=1
fi
exit $status
