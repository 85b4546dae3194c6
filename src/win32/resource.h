// Control and resource IDs of tsln.exe, shared with the end-to-end driver
// program that clicks the controls by these IDs. Plain #defines: the resource
// compiler reads this file too.
#ifndef TSLN_WIN32_RESOURCE_H
#define TSLN_WIN32_RESOURCE_H

#define IDI_TSLN 1
#define IDR_MAINMENU 100
#define IDD_MAIN 101
#define IDD_ABOUT 102
#define IDD_TVORES 103
#define IDD_D3D 104
#define IDD_LIMITS 105

// Main window: LabelN is 1000 + N and UpDownN is 1100 + N, so the rule that
// pairs UpDownN with Label(N + 24) holds for the IDs too.
#define IDC_LABEL(n) (1000 + (n))
#define IDC_UPDOWN(n) (1100 + (n))
#define IDC_LABEL49 IDC_LABEL(49) /* web link */
#define IDC_LABEL50 IDC_LABEL(50) /* "Added Resolutions: ..." */
#define IDC_LABEL57 IDC_LABEL(57) /* "kHz" */
#define IDC_UPDOWN24 IDC_UPDOWN(24)
#define IDC_LBLOS 1201
#define IDC_LBLDETVERSION 1202
#define IDC_LBLADAPTERS 1203
#define IDC_CMDAPPLY 1210
#define IDC_CMDRESET 1211
#define IDC_CHECK1 1212
#define IDC_TEXT1 1213
#define IDC_CMDCALC 1214
#define IDC_CMDCALCDEF 1215
#define IDC_CREDITS 1216
#define IDC_LBLMONITOR 1218 /* after "Monitor:" */

#define IDM_EXIT 2001
#define IDM_LOAD 2002
#define IDM_TVORES 2003
#define IDM_D3DTEST 2004
#define IDM_TOPICS 2005
#define IDM_ABOUT 2006
#define IDM_FITMONITOR 2008
#define IDM_UNDO 2009   /* Extras > Undo Last Change... */
#define IDM_LIMITS 2010 /* Extras > Monitor Limits... */
#define IDM_SAVECHOICES 2011
#define IDM_LOADCHOICES 2012

// About box
#define IDC_ABOUT_ICON 3001
#define IDC_ABOUT_CREDITS 3002
#define IDC_ABOUT_DISCLAIMER 3003
#define IDC_ABOUT_CLOSE 3004 /* Command1 */

// TV-Out dialog
#define IDC_TV_LABEL3 4001
#define IDC_TV_TXTW1 4002
#define IDC_TV_LABEL1 4003
#define IDC_TV_TXTH1 4004
#define IDC_TV_CLEAR1 4005 /* Command1 */
#define IDC_TV_DONE 4006   /* cmdDone */
#define IDC_TV_TXTW2 4007
#define IDC_TV_LABEL2 4008
#define IDC_TV_TXTH2 4009
#define IDC_TV_CLEAR2 4010   /* Command2 */
#define IDC_TV_DEFAULTS 4011 /* Command3 */

// Monitor Limits dialog
#define IDC_LIM_NAME 6001
#define IDC_LIM_HMIN 6002
#define IDC_LIM_HMAX 6003
#define IDC_LIM_VMIN 6004
#define IDC_LIM_VMAX 6005
#define IDC_LIM_OK 6006
#define IDC_LIM_CANCEL 6007
#define IDC_LIM_OWN 6008 /* "Use the Monitor's Own" */
#define IDC_LIM_CLOCK 6009

// VSync tester
#define IDC_D3D_LABEL1 5001
#define IDC_D3D_CMBRES 5002
#define IDC_D3D_CMBBITRATES 5003
#define IDC_D3D_GO 5004
#define IDC_D3D_CANCEL 5005
#define IDC_D3D_OPTON 5006
#define IDC_D3D_OPTOFF 5007

#endif
