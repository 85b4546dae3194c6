# Extras > Load on Windows Start: on writes "LoadOnStartup" = 1 and the Run entry "TSLN", which Windows runs
# at logon; off deletes both and keeps the key SOFTWARE\TSLN. The check mark shows what the registry holds.
# A program folder with a space gets its path in quotation marks (unquoted, Windows would try to start
# C:\Program.exe first); one without stays unquoted. Each Run entry is then run as Windows runs it, the
# whole value as the command line: the program must find "/startup" behind the quoted and the unquoted path,
# and since the driver version has not changed, end quietly. The console clicks the same in two runs,
# one per state.

e2e_scenario load-on-start-space profiles/demo && {
    e2e_start_tsln
    e2e_drive wait-main click:1212 menu:2002 menus run-entry
    e2e_expect "after ticking" "Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: disabled
run-entry=ended" "$E2E_OUT"
    e2e_expect "SOFTWARE\\TSLN after ticking" "LastDetVersion=REG_SZ:6.14.10.4523
LoadOnStartup=REG_DWORD:0x1" "$(e2e_wine_values "$SC_TSLN_KEY")"
    e2e_expect "Run entry" 'TSLN=REG_SZ:"C:\Program Files\Tessaline\tsln.exe" /startup' \
        "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
    sc_console advanced load-on-start
    sc_same_registry
    sc_same_debug_txt

    e2e_drive menu:2002 menus click:1212 menus menu:2001 gone
    e2e_expect "after unticking, and in the simple view" "Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: disabled
Extras > Load on Windows Start: disabled
Extras > TV-Out Resolutions...: disabled" "$E2E_OUT"
    e2e_expect "SOFTWARE\\TSLN after unticking" "LastDetVersion=REG_SZ:6.14.10.4523" "$(e2e_wine_values "$SC_TSLN_KEY")"
    e2e_expect "Run entry after unticking" "" "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
    sc_console advanced load-on-start
    sc_same_registry
    sc_same_debug_txt
    e2e_end_scenario
}

# "LoadOnStartup" = 1 whose Run entry another tool removed: the item shows checked, and one click clears both.
sc_profile=$(sc_variant profiles/xp-range)
sc_reg_section "$sc_profile" 'SOFTWARE\TSLN' '"LoadOnStartup"=dword:00000001'
e2e_scenario load-on-start-plain "$sc_profile" && {
    e2e_start_tsln
    e2e_drive wait-main menus click:1212 menus menu:2002 menus
    e2e_expect "checked at start, cleared by one click" "Extras > Load on Windows Start: disabled, checked
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: enabled
Extras > Load on Windows Start: enabled
Extras > TV-Out Resolutions...: enabled" "$E2E_OUT"
    e2e_expect "SOFTWARE\\TSLN after unticking" "LastDetVersion=REG_SZ:6.14.10.3082" "$(e2e_wine_values "$SC_TSLN_KEY")"
    sc_console advanced load-on-start
    sc_same_registry
    sc_same_debug_txt

    e2e_drive menu:2002 menus run-entry menu:2001 gone
    e2e_expect "after ticking" "Extras > Load on Windows Start: enabled, checked
Extras > TV-Out Resolutions...: enabled
run-entry=ended" "$E2E_OUT"
    e2e_expect "Run entry" 'TSLN=REG_SZ:D:\Utilities\Tessaline\tsln.exe /startup' \
        "$(e2e_wine_values "$SC_RUN_KEY" | grep '^TSLN=')"
    sc_console advanced load-on-start
    sc_same_registry
    sc_same_debug_txt
    e2e_end_scenario
}
