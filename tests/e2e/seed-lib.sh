# shellcheck shell=bash
# Makes a Wine prefix behave as a machine profile, and writes the profile the
# console must use to see the same PC. Source after wine-lib.sh, with the
# prefix's session up (tsln_wine_new_prefix), then:
#
#   tsln_seed PROFILE BUILD [NATIVE] import the profile's registry, install its driver file (made from
#                                    system32/NAME.version by NATIVE's tsln-driver-files, default
#                                    build/native; "-": the profile holds it made), put tsln.exe (and the
#                                    profile's program files) in its program folder; sets TSLN_EXE (Windows
#                                    path) and TSLN_PROGRAM_DIR (host path)
#   tsln_console_profile PROFILE OUT write OUT: the same profile with the driver key Wine really has and
#                                    the display modes this X server really offers
#
# Wine owns "\Device\Video0": it points it at a volatile key of its own at every session start and at the
# first mode enumeration of each process. So the profile's driver values go into the key Wine points at
# (written through its persistent Class twin), and the console profile names that key instead of the
# profile's. Seeds last for the session: seed again after a new one starts.

TSLN_CLASS_KEY='SYSTEM\CurrentControlSet\Control\Class\{4D36E968-E325-11CE-BFC1-08002BE10318}\0000'

# Wine's "\Device\Video0", e.g. \Registry\Machine\System\CurrentControlSet\Control\Video\{GUID}\0000
# A session's first program starts it; the device map follows a moment later, so it is waited for.
tsln_wine_video0() {
    local video0=""
    for _ in $(seq 1 50); do
        video0=$(wine reg query 'HKLM\HARDWARE\DEVICEMAP\VIDEO' /v '\Device\Video0' 2>/dev/null |
            tr -d '\r' | sed -n 's/^ *\\Device\\Video0 *REG_SZ *//p')
        [ -n "$video0" ] && break
        sleep 0.1
    done
    printf '%s\n' "$video0"
}

# The GUID of a \...\Control\Video\{GUID}\0000 path.
tsln_video_guid() { printf '%s\n' "$1" | grep -o '{[0-9A-Fa-f-]*}' | head -n 1; }

tsln_profile_value() {  # PROFILE KEY: a machine.txt setting, or nothing
    [ -f "$1/machine.txt" ] || return 0
    sed -n "s/^$2=//p" "$1/machine.txt" | tr -d '\r' | head -n 1
}

# The host folder of a Windows path in the current prefix; drive letters other than C: get a folder of
# their own.
tsln_wine_host_path() {
    local path=$1 drive rest
    drive=$(printf '%s' "${path:0:1}" | tr '[:upper:]' '[:lower:]')
    # shellcheck disable=SC1003 # a backslash, not an escaped quote
    rest=$(printf '%s' "${path:3}" | tr '\\' '/')
    if [ "$drive" != c ] && [ ! -e "$WINEPREFIX/dosdevices/$drive:" ]; then
        mkdir -p "$WINEPREFIX/drive_$drive"
        ln -s "../drive_$drive" "$WINEPREFIX/dosdevices/$drive:"
    fi
    printf '%s/dosdevices/%s:/%s\n' "$WINEPREFIX" "$drive" "$rest"
}

# A new session's display set-up may still be rewriting the adapter's keys when the seed goes in (on a slow
# machine such as the 32-bit VM it took half a minute to settle), and then the seed is lost. So the seed is
# read back, and imported again until it holds.
tsln_seed_import() {
    local reg=$1 expected=$2 actual
    for _ in 1 2 3 4 5; do
        wine regedit /S "$reg" || return 1
        [ -n "$expected" ] || return 0
        actual=$(wine reg query "HKLM\\$TSLN_CLASS_KEY" /v "Device Description" 2>/dev/null | tr -d '\r' |
            sed -n 's/^ *Device Description *REG_SZ *//p')
        [ "$actual" = "$expected" ] && return 0
        echo "seed-lib: Wine's set-up replaced the seed (\"$actual\"); seeding again" >&2
        sleep 2
    done
    echo "seed-lib: the adapter's key does not keep the seed" >&2
    return 1
}

tsln_seed() {
    local profile=${1:?usage: tsln_seed PROFILE BUILD [NATIVE]} build=${2:?usage: tsln_seed PROFILE BUILD [NATIVE]}
    local native=${3:-build/native}
    local video0 profile_guid reg folder
    video0=$(tsln_wine_video0)
    [ -n "$video0" ] || { echo "seed-lib: Wine has no \\Device\\Video0" >&2; return 1; }
    reg=$(mktemp --suffix=.reg)
    profile_guid=$(tsln_video_guid "$(grep -i 'Device\\\\Video0' "$profile/registry.reg")")
    # Everything but the device map goes in as it is; the profile's driver key becomes Wine's.
    DRIVER_KEY="[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Video\\$profile_guid\\0000]" \
    CLASS_KEY="[HKEY_LOCAL_MACHINE\\$TSLN_CLASS_KEY]" \
    awk 'BEGIN { skip = 0 }
         { sub(/\r$/, "") }
         /^\[/ {
             skip = (toupper($0) == "[HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\VIDEO]")
             if (ENVIRON["DRIVER_KEY"] != "" && toupper($0) == toupper(ENVIRON["DRIVER_KEY"])) $0 = ENVIRON["CLASS_KEY"]
         }
         !skip { printf "%s\r\n", $0 }' "$profile/registry.reg" >"$reg.txt"
    # Wine's regedit reads hex(2) and hex(7) data as UTF-16 only from a UTF-16 file, as Windows writes them.
    { printf '\377\376'; iconv -f ISO-8859-1 -t UTF-16LE "$reg.txt"; } >"$reg"
    # The adapter's description as the seed writes it into the key Wine points at, if the profile has one.
    local expected
    expected=$(CLASS_KEY="[HKEY_LOCAL_MACHINE\\$TSLN_CLASS_KEY]" awk '
        /^\[/ { inside = (toupper($0) == toupper(ENVIRON["CLASS_KEY"] "\r")) }
        inside && /^"Device Description"="/ { sub(/^"Device Description"="/, ""); sub(/"\r$/, ""); print }' "$reg.txt")
    rm -f "$reg.txt"
    tsln_seed_import "$reg" "$expected"
    local status=$?
    rm -f "$reg"
    [ "$status" -eq 0 ] || return 1

    local systemdir
    systemdir="$WINEPREFIX/drive_c/windows/system32"
    # The 32-bit VM cannot run native tools: its profiles come with their driver files made ("-").
    if [ "$native" != - ]; then
        "$native/src/profile/tsln-driver-files" "$profile" "$systemdir" || return 1
    fi
    # A real driver file in the profile wins over the one its .version stands for, as in the console.
    cp "$profile"/system32/*.dll "$systemdir/" 2>/dev/null || true

    folder=$(tsln_profile_value "$profile" program-folder)
    [ -n "$folder" ] || folder='C:\Program Files\Tessaline'
    TSLN_PROGRAM_DIR=$(tsln_wine_host_path "$folder")
    mkdir -p "$TSLN_PROGRAM_DIR"
    cp "$build/src/win32/tsln.exe" "$TSLN_PROGRAM_DIR/"
    find "$profile/program" -maxdepth 1 -type f ! -name '.*' -exec cp {} "$TSLN_PROGRAM_DIR/" \;
    TSLN_EXE="$folder\\tsln.exe"
    export TSLN_EXE TSLN_PROGRAM_DIR
}

tsln_console_profile() {
    local profile=${1:?usage: tsln_console_profile PROFILE OUT BUILD} out=${2:?} build=${3:?}
    local video0 wine_guid profile_guid folder
    video0=$(tsln_wine_video0)
    wine_guid=$(tsln_video_guid "$video0")
    profile_guid=$(tsln_video_guid "$(grep -i 'Device\\\\Video0' "$profile/registry.reg")")
    rm -rf "$out"
    mkdir -p "$out/system32" "$out/program"
    find "$profile/system32" -maxdepth 1 -type f -exec cp {} "$out/system32/" \;
    if [ -n "$profile_guid" ]; then
        sed "s/$profile_guid/$wine_guid/g" "$profile/registry.reg" >"$out/registry.reg"
    else
        cp "$profile/registry.reg" "$out/registry.reg"
    fi
    find "$profile/program" -maxdepth 1 -type f ! -name '.*' -exec cp {} "$out/program/" \;
    wine "$build/tests/e2e/driver/tsln-driver.exe" modes | tr -d '\r' >"$out/display-modes.txt"
    folder=$(tsln_profile_value "$profile" program-folder)
    [ -n "$folder" ] || folder='C:\Program Files\Tessaline'
    printf 'program-folder=%s\nsystem-dir=C:\\windows\\system32\n' "$folder" >"$out/machine.txt"
}
