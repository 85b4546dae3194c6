#!/usr/bin/env bash
# Decodes every EDID sample with `tessaline edid` and with edid-decode, the
# reference decoder, and compares pnp-id, name, version, checksum, ranges and
# the timings the base block lists.
# Each sample goes through tessaline twice, as binary and as hex text.
# usage: edid-reference.sh TESSALINE SAMPLE_DIR...
set -uo pipefail

tessaline=$1
shift
if ! command -v edid-decode >/dev/null; then
    echo "edid-decode is missing: scripts/setup.sh installs it"
    exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# What tessaline must print, read from edid-decode's decoding of the base block.
# Two deliberate differences: tessaline drops the padding spaces at the end of a
# name, and prints no dotclock for 0xFF ("2550 MHz", meaning no limit given).
expected_report() {
    local decoded
    decoded=$(edid-decode "$1" 2>&1)
    if grep -q -e "^No EDID header found" -e "^EDID length .* is not a multiple of 128" <<<"$decoded"; then
        echo "no EDID"
        return
    fi
    awk '
        /^Block 0, Base EDID:/ { base = 1; next }
        !base { next }
        /^----------------$/ { exit }
        /^ *EDID Structure Version & Revision: / && !version { version = $NF }
        /^ *Manufacturer: / && !vendor { vendor = $NF }
        /^ *Model: / && model == "" { model = $NF }
        /^ *Display Product Name: / && !named {
            named = 1
            name = substr($0, index($0, "\x27") + 1)
            sub(/\x27$/, "", name)
            sub(/ +$/, "", name)
        }
        /^ *Monitor ranges / && !ranges {
            ranges = $0
            sub(/^ *Monitor ranges [^:]*: /, "", ranges)
            sub(/, max dotclock 2550 MHz$/, "", ranges)
        }
        # A timing of the base block itself; those inside a descriptor are indented further.
        /^    [^ ][^:]*: +[0-9]+x[0-9]+i? +[0-9.]+ Hz .* kHz +[0-9.]+ MHz/ {
            split(substr($0, index($0, ":") + 1), f, " ")
            listed = listed sprintf("listed: %s at %.0f Hz (%s kHz, %.3f MHz)\n", f[1], f[2], f[5], f[7])
        }
        /^Checksum: / && !checksum { checksum = /should be/ ? "bad" : "ok" }
        END {
            printf "pnp-id: %s%04X\n", vendor, model
            print "name: " (name == "" ? "-" : name)
            print "version: " version
            print "checksum: " checksum
            print "ranges: " (ranges == "" ? "none" : ranges)
            printf "%s", listed
        }' <<<"$decoded"
}

# A text sample's first hex dump (spaced bytes or unbroken hex, blank lines
# between blocks allowed), for edid-decode, which reads only its own text form.
first_hex_dump() {
    awk '/^[[:space:]]*([0-9a-fA-F][0-9a-fA-F][[:space:]]*)+$/ { dump = 1; print; next }
         dump && !/^[[:space:]]*$/ { exit }' "$1"
}

failures=0
checked=0
for dir in "$@"; do
    for sample in "$dir"/*.txt "$dir"/*.bin; do
        [ -e "$sample" ] || continue
        label=${sample#"$dir"/}
        # The same EDID in the other form, converted without tessaline.
        other="$scratch/$(basename "$sample").other"
        if [[ $sample == *.txt ]]; then
            first_hex_dump "$sample" | xxd -r -p >"$other"
            expected=$(expected_report "$other")
        else
            xxd -p "$sample" >"$other"
            expected=$(expected_report "$sample")
        fi

        # A real sample is named after the PnP ID Windows gives the monitor.
        prefix=${label%%-*}
        if [[ $label == *.txt && $prefix =~ ^[A-Z]{3}[0-9A-F]{4}$ && $expected != "pnp-id: $prefix"* ]]; then
            echo "FAIL $label: edid-decode reads another PnP ID than the file name's $prefix"
            failures=$((failures + 1))
        fi

        for form in "$sample" "$other"; do
            actual=$("$tessaline" edid "$form" 2>&1)
            checked=$((checked + 1))
            if [ "$actual" != "$expected" ]; then
                echo "FAIL $label ($([ "$form" = "$sample" ] && echo as given || echo converted)):"
                diff <(echo "$expected") <(echo "$actual") | sed 's/^/    /'
                failures=$((failures + 1))
            fi
        done
    done
done

if [ "$checked" -eq 0 ]; then
    echo "no samples found in $*"
    exit 1
fi
echo "$checked decodings compared with edid-decode, $failures failures"
[ "$failures" -eq 0 ]
