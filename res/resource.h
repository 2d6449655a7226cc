/* Resource ids of Glomb: menu commands, dialog controls and the numbers of
 * the resources themselves. Read by the resource compiler and by C++. */
#pragma once

/* Menu commands. 40005 marks every separator and never arrives as a
 * command, since an item with empty text cannot be chosen. */
#define IDM_NEW 40002
#define IDM_EXIT 40003
#define IDM_SEPARATOR 40005
#define IDM_UNDO 40006
#define IDM_HELP 40008
#define IDM_ABOUT 40009
#define IDM_HIGHSCORES 40010
#define IDM_LANGUAGE 40012

/* Dialog controls. The radio button of language L is IDC_ITALIAN + L. */
#define IDC_NAME_EDIT 1014
#define IDC_NAME_PROMPT 1019
#define IDC_ITALIAN 1028
#define IDC_ENGLISH 1029

/* Icon and accelerators */
#define IDI_GLOMB 101
#define IDR_ACCELERATORS 102

/* Sprite sheets: 40- and 32-pixel cells, 4 columns by 2 rows */
#define IDB_BALLS40 103
#define IDB_BALLS32 118

/* Menus: the one of language L is IDM_MENU_ITALIAN + L */
#define IDM_MENU_ITALIAN 104
#define IDM_MENU_ENGLISH 105

/* Dialog templates */
#define IDD_ABOUT 108
#define IDD_NAME 110
#define IDD_SCORES 112
#define IDD_LANGUAGE 117

/* The hand shown over the About box's mail link */
#define IDC_LINK_HAND 114
