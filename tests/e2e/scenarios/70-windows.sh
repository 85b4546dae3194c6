# The small windows hold the main window disabled while they are open and give it back when they close:
# the About box by its Close button and by its close box, the VSync tester by Cancel and by its close box.
# The main window's own close box ends the program. The tester lists the
# resolutions whose rate label shows a rate, and refuses a choice that is not a listed resolution with a
# listed colour depth, whatever the list holds.

SC_INVALID_CHOICE="Please select a valid resolution from the list."

e2e_scenario about-and-tester profiles/xp-range && {
    e2e_start_tsln
    e2e_drive wait-main menu:2006 dialog:"About..." enabled-now click:3004 closed:"About..." enabled \
        menu:2006 dialog:"About..." enabled-now close-box closed:"About..." enabled \
        menu:2004 dialog:"Tessaline VSync Tester" enabled-now check:5006 check:5007 items:5002 items:5003 \
        text:5002 text:5003 \
        click:5004 icon box:OK \
        dialog:"Tessaline VSync Tester" type:5002:640x480 "type:5003:16 bit" click:5004 box:OK \
        dialog:"Tessaline VSync Tester" "type:5002:640 x 480" "type:5003:Bit Rate" click:5004 box:OK \
        dialog:"Tessaline VSync Tester" click:5005 closed:"Tessaline VSync Tester" enabled \
        menu:2004 dialog:"Tessaline VSync Tester" enabled-now close-box closed:"Tessaline VSync Tester" enabled \
        close-box gone
    window=$E2E_OUT
    sc_wait_exit
    sc_console rates
    # The tester offers the 20 resolutions of the normal and compressed lists, not the three mask-only ones.
    listed=$(printf '%s\n' "$E2E_OUT" | grep -v -e '^848 x 480=' -e '^1280 x 720=' -e '^1360 x 768=' |
        grep -v '=N/A$' | sed 's/^\(.*\)=.*$/item=\1/')
    e2e_expect "windows" "enabled=0
enabled=1
enabled=0
enabled=1
enabled=0
5006=checked
5007=unchecked
$listed
item=16 bit
item=32 bit
5002=Resolution
5003=Bit Rate
icon=error
box=$SC_INVALID_CHOICE
box=$SC_INVALID_CHOICE
box=$SC_INVALID_CHOICE
enabled=1
enabled=0
enabled=1" "$window"
    e2e_expect "resolutions with a rate here" "item=640 x 400
item=640 x 480
item=1024 x 768" "$listed"
    sc_same_registry
    sc_same_debug_txt
    e2e_end_scenario
}
