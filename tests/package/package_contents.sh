#!/usr/bin/env bash
# Makes the package from the build tree with CPack into the test's folder and
# checks its file list, the owners and modes, its control fields, the menu
# entry, the help document and what lintian says.
#   package_contents.sh <build dir> <output dir> <version>
set -euo pipefail
build=$1 out=$2 version=$3
deb=$out/velmora_${version}_amd64.deb
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$out/_CPack_Packages" "$deb"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 \
    || { cat "$out/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
[[ -f "$deb" ]] || { echo "FAIL: no $deb" >&2; exit 1; }

# Every regular file with its mode and owner.
actual=$(dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $1, $2, $6 }' | sort)
expected=$(sort <<LIST
-rwxr-xr-x root/root ./usr/bin/velmora
-rw-r--r-- root/root ./usr/share/applications/velmora.desktop
-rw-r--r-- root/root ./usr/share/doc/velmora/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/velmora/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/velmora.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/16x16/apps/velmora.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/22x22/apps/velmora.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/24x24/apps/velmora.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/velmora.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/velmora.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/64x64/apps/velmora.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/velmora.svg
-rw-r--r-- root/root ./usr/share/man/man1/velmora.1.gz
-rw-r--r-- root/root ./usr/share/velmora/Allarme.wav
-rw-r--r-- root/root ./usr/share/velmora/Help.pdf
-rw-r--r-- root/root ./usr/share/velmora/Messaggio.wav
LIST
)
[[ "$actual" == "$expected" ]] || fail "file list differs:
$(diff <(echo "$expected") <(echo "$actual") || true)"

field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == velmora ]] || fail "Package: $(field Package)"
[[ "$(field Version)" == "$version" ]] || fail "Version: $(field Version)"
[[ "$(field Architecture)" == amd64 ]] || fail "Architecture: $(field Architecture)"
[[ "$(field Section)" == misc ]] || fail "Section: $(field Section)"
[[ -n "$(field Maintainer)" ]] || fail "no Maintainer"
[[ "$(field Description)" == "deadline register of a school office"* ]] || fail "Description: $(field Description)"
depends=$(field Depends)
for needed in firebird3.0-server-core qt6-translations-l10n fonts-liberation2 libfbclient2 libqt6widgets6 \
              libqt6multimedia6 libqt6network6 libcurl4; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[[ "$(field Suggests)" == firebird3.0-server ]] || fail "Suggests: $(field Suggests)"

tree=$out/tree
rm -rf "$tree"
dpkg -x "$deb" "$tree"
desktop=$tree/usr/share/applications/velmora.desktop
for line in 'Type=Application' 'Exec=velmora' 'Icon=velmora' 'Categories=Office;Calendar;' \
            'Name[it]=Velmora' "Comment[it]=Registro delle scadenze dell'ufficio, con avvisi su ogni postazione"; do
  grep -qxF "$line" "$desktop" || fail "velmora.desktop lacks: $line"
done
file "$tree/usr/bin/velmora" | grep -q ', stripped' || fail "the program is not stripped"
guide=$(pdftotext "$tree/usr/share/velmora/Help.pdf" - 2>/dev/null || true)
for heading in "Guida per l" "Il primo avvio" "Inserire una scadenza" "L'avviso di scadenza" \
               "Invio per posta elettronica" "Festività e scadenze annuali" "Utenti e messaggi" \
               "Stampe" "Copia e ripristino"; do
  grep -qF "$heading" <<<"$guide" || fail "Help.pdf lacks: $heading"
done
pages=$(pdfinfo "$tree/usr/share/velmora/Help.pdf" | awk '/^Pages:/ { print $2 }')
((pages >= 2)) || fail "Help.pdf has $pages page(s)"

if lintian --fail-on error "$deb" >"$out/lintian.log" 2>&1; then
  echo "lintian: no error ($(grep -c '^W:' "$out/lintian.log" || true) warnings)"
else
  cat "$out/lintian.log" >&2
  fail "lintian reports errors"
fi

((failures == 0)) || exit 1
echo "package ok: $deb"
