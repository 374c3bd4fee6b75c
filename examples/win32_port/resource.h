// Resource ids of MAZERUN, shared by port.rc and port.cpp.
#ifndef MAZERUN_RESOURCE_H
#define MAZERUN_RESOURCE_H

#define IDS_TITLE 1
#define IDS_NOLEVEL 2
#define IDS_NOINPUT 3
#define IDS_STATUS 4

#define IDI_MAZERUN 101
#define IDW_EXIT 102
#define IDD_START 103

#define IDC_RUNS 1001

#endif
