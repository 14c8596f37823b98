#pragma once

// Resource and control ids, shared by the resource scripts and the C++ code.

#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100
#define IDD_VOSK1_FORM 101
#define IDR_TEXT_LIST_MENU 130

// Cells of row r (1 to 10): before 1014 + r, after 1024 + r, arrow 1034 + r.
#define IDC_BEFORE_FIRST 1015
#define IDC_AFTER_FIRST 1025
#define IDC_ARROW_FIRST 1035
#define IDC_CONFIRM 1046
#define IDC_CANCEL_BUTTON 1052
#define IDC_TEXT_LIST 61204
#define IDC_STATUS_BAR 59393
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_MRU_FILE1 57616
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 57643
#define ID_PICK_TEXT 32771
// The match options of the table; whole and part are a radio pair, so their ids are adjacent.
#define ID_MATCH_WHOLE 32781
#define ID_MATCH_PART 32782
#define ID_IGNORE_WIDTH 32783
#define ID_IGNORE_CASE 32784
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

#define IDS_APP_TITLE 57344
#define IDS_IDLE_MESSAGE 57345
#define IDS_UNTITLED 61443
