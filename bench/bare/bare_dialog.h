#ifndef TSLN_BARE_DIALOG_H
#define TSLN_BARE_DIALOG_H
#define IDD_BARE 101
#endif
