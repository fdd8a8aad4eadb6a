#!/bin/sh
# Adds Septarion to the desktop's application menu, for this user: writes
# septarion.desktop for the folder this script is in and puts a copy into
# ~/.local/share/applications. Run it again after moving the folder.
#
#   ./install-desktop-entry.sh                     write the entry and add it to the menu
#   ./install-desktop-entry.sh --folder-only [DIR] only write the entry in this folder,
#                                                  naming DIR (default: this folder)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
folder=$here
folder_only=no
if [ "${1:-}" = "--folder-only" ]; then
  folder_only=yes
  folder=${2:-$here}
fi

# Exec takes the path in double quotes with \ " ` $ escaped, and % doubled;
# the file format then doubles every backslash once more.
exec_path=$(printf '%s' "$folder/septarion" | sed -e 's/[\\"`$]/\\\\&/g' -e 's/%/%%/g')
plain_path=$(printf '%s' "$folder" | sed -e 's/\\/\\\\/g')

cat > "$here/septarion.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Version=1.0
Name=Septarion
GenericName=Loto 7 number picker
GenericName[ja]=ロト７ 数字予想・照合
Comment=Pick, save and check Loto 7 ticket lines
Comment[ja]=ロト７の申込み数字を選び、保存し、抽選結果と照合します
Keywords=Loto 7;lottery;ticket;
Keywords[ja]=ロト７;ロト;宝くじ;抽選;
Exec="$exec_path"
Icon=$plain_path/septarion.svg
Terminal=false
Categories=Utility;
ENTRY
chmod 644 "$here/septarion.desktop"
[ "$folder_only" = yes ] && exit 0

apps=${XDG_DATA_HOME:-$HOME/.local/share}/applications
mkdir -p "$apps"
cp "$here/septarion.desktop" "$apps/septarion.desktop"
if command -v update-desktop-database >/dev/null 2>&1; then
  update-desktop-database "$apps" >/dev/null 2>&1 || true
fi
echo "Septarion is in the application menu: $apps/septarion.desktop"
