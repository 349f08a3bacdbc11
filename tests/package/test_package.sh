#!/usr/bin/env bash
# Builds the .deb, checks it with lintian, unpacks it into a temporary root and
# starts what was installed there: the desktop entry and AppStream data
# validate, the program finds its files in share/sprzetnik, makes a sample
# database and logs in, and the installed executable shows its login window.
# Usage: test_package.sh <build dir> <installed_start executable>
set -euo pipefail
build=$1
probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$build"
cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/sprzetnik_*_amd64.deb)
echo "package: $(basename "$deb")"

# Declared dependencies: the Qt libraries found by dpkg-shlibdeps and the rest.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libsqlcipher qt6-translations-l10n qt6-qpa-plugins; do
  grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done

lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$work/lintian.log"
if grep -q '^E:' "$work/lintian.log"; then echo "lintian reported errors"; exit 1; fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/sprzetnik usr/share/sprzetnik/data/empty/schema.sql usr/share/sprzetnik/data/demo/data.sql \
         usr/share/sprzetnik/raporty/komputery.frf usr/share/sprzetnik/dormak/terminy_adv.frf \
         usr/share/sprzetnik/sprzetnik.ini usr/share/sprzetnik/data/porady.dat \
         "usr/share/sprzetnik/dokumentacja/Instrukcja obsługi.pdf" \
         usr/share/sprzetnik/dokumentacja/Konfiguracja-uprawnien-Sprzetnik.pdf \
         usr/share/icons/hicolor/32x32/apps/sprzetnik.png usr/share/icons/hicolor/48x48/apps/sprzetnik.png \
         usr/share/icons/hicolor/256x256/apps/sprzetnik.png usr/share/doc/sprzetnik/copyright usr/share/man/man1/sprzetnik.1.gz; do
  [ -e "$root/$f" ] || { echo "missing in the package: $f"; exit 1; }
done
[ -d "$root/var/lib/sprzetnik" ] || { echo "missing in the package: /var/lib/sprzetnik"; exit 1; }

desktop-file-validate "$root/usr/share/applications/pl.sprzetnik.Sprzetnik.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/pl.sprzetnik.Sprzetnik.metainfo.xml"

# Nothing may be written into the installed folders while the program runs.
find "$root/usr" -type f -printf '%P %s %T@\n' | sort >"$work/before"
cp "$probe" "$root/usr/bin/"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
export SPRZETNIK_CONFIG_DIR="$work/config" SPRZETNIK_TEST_DATABASE="$work/baza"
"$root/usr/bin/$(basename "$probe")"
rm "$root/usr/bin/$(basename "$probe")"

# The installed executable itself, on the database just made: it reaches the
# login window (and ends there).
out=$(SPRZETNIK_STARTUP_TIMING=exit timeout 60 "$root/usr/bin/sprzetnik")
grep -q '^login-painted-ms ' <<<"$out" || { echo "the installed program did not show its login: $out"; exit 1; }

find "$root/usr" -type f -printf '%P %s %T@\n' | sort >"$work/after"
diff "$work/before" "$work/after" || { echo "the program wrote into its installed folders"; exit 1; }
echo "package installs and starts"
