// Identifiers of lumaseek.exe's resources, shared by the resource script, the
// code and the tests. The native dialogs read this file at run time
// (framework/resource_script_memory.cpp), so keep one "#define NAME value" a line.
#pragma once

// icons and bitmap
#define IDI_LUMASEEK 128
#define IDI_DEVICE 138
#define IDB_LOGO 135

// dialog templates
#define IDD_FINDER 102
#define IDD_IP_SETTINGS 129
#define IDD_DRIVE_MAP 130
#define IDD_SEARCH 131
#define IDD_LOGIN 133

// main dialog
#define IDC_PAGE_TAB 1000

// Search Device page
#define IDC_DEVICE_LIST 1016
#define IDC_SEARCH_DEVICE 1017
#define IDC_CONFIGURE 1015
#define IDC_SEARCH_OK 1014
#define IDC_CREATE_SHORTCUT 1023

// IP Settings page
#define IDC_DHCP_COMBO 1018
#define IDC_IP_ADDRESS 1009
#define IDC_NETMASK 1010
#define IDC_GATEWAY 1012
#define IDC_MODIFY 1019
#define IDC_IP_INFO 1028

// Drive Mapping page; its Map Drive button has the number of the Search
// Device page's OK button
#define IDC_SHARE_LIST 1013
#define IDC_DRIVE_COMBO 1004
#define IDC_MAP_DRIVE 1014
#define IDC_DISCONNECT_DRIVE 1022
#define IDC_DRIVE_INFO 1029

// Login dialog (OK and Cancel are IDOK and IDCANCEL)
#define IDC_USER_NAME 1020
#define IDC_PASSWORD 1021

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
