#pragma once
// Resource identifiers shared by the resource script and the code.
#define IDI_GLIMMERFOLD 1

// The main window's skin and logo.
#define IDB_SKIN 101
#define IDB_LOGO 102

// Page-button faces: up and over for pages 0, 1 and 2.
#define IDB_PAGE0_UP 110
#define IDB_PAGE0_OVER 111
#define IDB_PAGE1_UP 112
#define IDB_PAGE1_OVER 113
#define IDB_PAGE2_UP 114
#define IDB_PAGE2_OVER 115

// Group pictures beside the group labels (16 x 16, on the panel colour).
#define IDB_GRP_INTERNET 120
#define IDB_GRP_IE 121
#define IDB_GRP_NETSCAPE 122
#define IDB_GRP_OPERA 123
#define IDB_GRP_AOL 124
#define IDB_GRP_CHAT 125
#define IDB_GRP_TOOLBAR 126
#define IDB_GRP_WINDOWS 127
#define IDB_GRP_SOFTWARE 128
#define IDB_GRP_OFFICE 129
#define IDB_GRP_PAINT 130
#define IDB_GRP_CLIPBOARD 131
#define IDB_GRP_MEDIA 132
#define IDB_GRP_WINZIP 133
#define IDB_GRP_WORDPAD 134
#define IDB_GRP_WINRAR 135
#define IDB_GRP_REALPLAYER 136
#define IDB_GRP_QUICKTIME 137
#define IDB_GRP_ACROBAT 138
#define IDB_GRP_WINAMP 139
#define IDB_GRP_CAPTIONS 140
#define IDB_GRP_PROGRAM 141
#define IDB_GRP_AUTOPILOT 142
#define IDB_GRP_HOTKEYS 143

// The drawn buttons' pictures (mask colour &H00C0C0C0, the Clean button's white).
#define IDB_BTN_INTERNET 150
#define IDB_BTN_SOFTWARE 151
#define IDB_BTN_WINDOWS 152
#define IDB_BTN_ADD 153
#define IDB_BTN_REMOVE 154
#define IDB_BTN_CLEAN 155
