#ifndef ZELBRIN_RES_RESOURCE_H
#define ZELBRIN_RES_RESOURCE_H

/* Shared by the resource script and the code. Ids are per dialog: the same
   number names different controls in different dialogs. */

#define IDI_APP          1
#define IDD_MAIN         101
#define IDD_ADD_TASK     104
#define IDD_TASK_DETAILS 105
#define IDR_MAIN_MENU    106

/* Main dialog, radio buttons */
#define IDC_MAIN_SCHEDULED_RADIO 1004
#define IDC_MAIN_INTERVAL_RADIO  1005

/* Main dialog, scheduled panel */
#define IDC_MAIN_TASK_LIST            1007
#define IDC_MAIN_ADD                  1008
#define IDC_MAIN_DELETE               1009
#define IDC_MAIN_CLEAR                1010
#define IDC_MAIN_PURGE_INVALID        1017
#define IDC_MAIN_EXECUTE              1018
#define IDC_MAIN_DETAILS              1019
#define IDC_MAIN_STOP_TASK            1020
#define IDC_MAIN_TASK_COUNTDOWN       1029
#define IDC_MAIN_OPERATIONS_GROUP     1037
#define IDC_MAIN_TASK_COUNTDOWN_LABEL 1038

/* Main dialog, interval panel */
#define IDC_MAIN_MESSAGE                  1015
#define IDC_MAIN_TITLE                    1016
#define IDC_MAIN_START_INTERVAL           1030
#define IDC_MAIN_STOP_INTERVAL            1031
#define IDC_MAIN_SOUND_PATH               1033
#define IDC_MAIN_BROWSE_SOUND             1034
#define IDC_MAIN_INTERVAL_COUNTDOWN       1035
#define IDC_MAIN_MINUTES                  1036
#define IDC_MAIN_INTERVAL_COUNTDOWN_LABEL 1039
#define IDC_MAIN_TIME_GROUP               1040
#define IDC_MAIN_PROMPT_GROUP             1041
#define IDC_MAIN_EVERY_LABEL              1042
#define IDC_MAIN_MINUTES_LABEL            1044
#define IDC_MAIN_TITLE_LABEL              1045
#define IDC_MAIN_MESSAGE_LABEL            1046

/* Main dialog, menu bar and tray menu commands */
#define IDM_USAGE      40001
#define IDM_TRAY_ABOUT 8888
#define IDM_TRAY_EXIT  9999

/* Add-task dialog */
#define IDC_ADD_OK           1000
#define IDC_ADD_CANCEL       1013
#define IDC_ADD_MESSAGE      1015
#define IDC_ADD_HOUR_LIST    1016
#define IDC_ADD_MINUTE_LIST  1017
#define IDC_ADD_NAME         1018
#define IDC_ADD_YEAR_LIST    1022
#define IDC_ADD_MONTH_LIST   1023
#define IDC_ADD_DAY_LIST     1024
#define IDC_ADD_BROWSE_SOUND 1025
#define IDC_ADD_SOUND_PATH   1026

/* Task details dialog */
#define IDC_DETAILS_CHANGE     1000
#define IDC_DETAILS_CANCEL     1013
#define IDC_DETAILS_MESSAGE    1015
#define IDC_DETAILS_NAME       1018
#define IDC_DETAILS_DUE_TIME   1029
#define IDC_DETAILS_SOUND_PATH 1030

#endif
