# shellcheck shell=bash
# Throwaway Wine prefixes for the Windows test programs. Source this file, then:
#
#   tsln_wine_template          makes the cached template prefix once (wineboot -i) and prints its path, and
#                               nothing else on standard output: callers take it with $(...)
#   tsln_wine_new_prefix DIR    copies the template to DIR, exports WINEPREFIX=DIR and starts one
#                               persistent wineserver session for it
#   tsln_wine_cleanup           ends that session and removes DIR
#
# A new prefix costs seconds to minutes (wineboot), a copy of the template one or two seconds. The copy is a
# real one (cp -a), never hard links: Wine rewrites system.reg and user.reg in place and would corrupt the
# template. The session is kept up because Wine resets some keys at every session start and because a warm
# session starts a program in a tenth of the time.
#
# TSLN_WINE_CACHE (default ~/.cache/tessaline) holds the template; delete prefix-template there to rebuild it.

: "${TSLN_WINE_CACHE:=${HOME:-/tmp}/.cache/tessaline}"
export TSLN_WINE_CACHE
export WINEDEBUG=-all
# No Mono or Gecko install prompts.
export WINEDLLOVERRIDES="mscoree,mshtml="
# 32-bit prefixes cannot run here; wine64 picks the right default when this is unset.
unset WINEARCH

tsln_wine_template() {
    local template="$TSLN_WINE_CACHE/prefix-template"
    mkdir -p "$TSLN_WINE_CACHE" || return 1
    (
        # Several test scripts may start at once: only one of them boots the template, the rest wait for it.
        flock 9 || exit 1
        # A template from another Wine version would be upgraded in every copy, slowly: make a new one.
        local version
        version=$(wine --version 2>/dev/null)
        [ -e "$template/.tsln-ready" ] && [ "$(cat "$template/.tsln-ready")" = "$version" ] && exit 0
        echo "wine-lib: creating the prefix template in $template ($version)" >&2
        local staging
        staging=$(mktemp -d "$TSLN_WINE_CACHE/prefix-staging.XXXXXX") || exit 1
        if ! WINEPREFIX="$staging" wineboot -i >/dev/null 2>&1; then
            echo "wine-lib: wineboot -i failed" >&2
            WINEPREFIX="$staging" wineserver -k >/dev/null 2>&1
            rm -rf "$staging"
            exit 1
        fi
        # wineboot returns before the server has written the registry files: wait for the session to end.
        WINEPREFIX="$staging" wineserver -w
        printf '%s\n' "$version" >"$staging/.tsln-ready"
        rm -rf "$template"
        mv "$staging" "$template"
    ) 9>"$TSLN_WINE_CACHE/prefix-template.lock" >&2 || return 1
    printf '%s\n' "$template"
}

tsln_wine_new_prefix() {
    local dir=${1:?usage: tsln_wine_new_prefix DIR}
    local template
    template=$(tsln_wine_template) || return 1
    mkdir -p "$dir" || return 1
    # A shared lock, so that the template is not rebuilt under the copy.
    (
        flock -s 9 || exit 1
        cp -a "$template/." "$dir/"
    ) 9>"$TSLN_WINE_CACHE/prefix-template.lock" || return 1
    rm -f "$dir/.tsln-ready"
    export WINEPREFIX="$dir"
    TSLN_WINE_PREFIX="$dir"
    # wineserver puts itself in the background; -p keeps it alive between the programs of one test run.
    wineserver -p || return 1
}

tsln_wine_cleanup() {
    [ -n "${TSLN_WINE_PREFIX:-}" ] || return 0
    WINEPREFIX="$TSLN_WINE_PREFIX" wineserver -k >/dev/null 2>&1
    WINEPREFIX="$TSLN_WINE_PREFIX" wineserver -w >/dev/null 2>&1
    rm -rf "$TSLN_WINE_PREFIX"
    unset TSLN_WINE_PREFIX
}
