#!/usr/bin/env bash
# The small windows hold the main window disabled while they are open and give it back when they close:
# the About box by its Close button and by its close box, the VSync tester by Cancel and by its close box.
# The main window's own close box ends the program. The tester lists the resolutions whose rate label shows
# a rate, and refuses a choice that is not a listed resolution with a listed colour depth, whatever is typed
# into its boxes.
# shellcheck source=../scenario-lib.sh
source "$(dirname "$0")/../scenario-lib.sh"

invalid_choice="Please select a valid resolution from the list."
tester="Tessaline VSync Tester"
e2e_scenario profiles/xp-range || e2e_end_scenario
e2e_start_tsln
e2e_drive wait-main menu:IDM_ABOUT dialog:"About..." enabled-now click:IDC_ABOUT_CLOSE closed:"About..." enabled \
    menu:IDM_ABOUT dialog:"About..." enabled-now close-box closed:"About..." enabled \
    menu:IDM_D3DTEST dialog:"$tester" enabled-now check:IDC_D3D_OPTON check:IDC_D3D_OPTOFF \
    items:IDC_D3D_CMBRES items:IDC_D3D_CMBBITRATES text:IDC_D3D_CMBRES text:IDC_D3D_CMBBITRATES \
    click:IDC_D3D_GO icon box:OK \
    dialog:"$tester" type:IDC_D3D_CMBRES:640x480 "type:IDC_D3D_CMBBITRATES:16 bit" click:IDC_D3D_GO box:OK \
    dialog:"$tester" "type:IDC_D3D_CMBRES:640 x 480" "type:IDC_D3D_CMBBITRATES:Bit Rate" click:IDC_D3D_GO box:OK \
    dialog:"$tester" click:IDC_D3D_CANCEL closed:"$tester" enabled \
    menu:IDM_D3DTEST dialog:"$tester" enabled-now close-box closed:"$tester" enabled \
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
IDC_D3D_OPTON=checked
IDC_D3D_OPTOFF=unchecked
$listed
item=16 bit
item=32 bit
IDC_D3D_CMBRES=Resolution
IDC_D3D_CMBBITRATES=Bit Rate
icon=error
box=$invalid_choice
box=$invalid_choice
box=$invalid_choice
enabled=1
enabled=0
enabled=1" "$window"
e2e_expect "resolutions with a rate here" "item=640 x 400
item=640 x 480
item=1024 x 768" "$listed"
sc_same_registry
sc_same_debug_txt
e2e_end_scenario
