// The program's fixed resource ids, grouped by the dialog that uses them. These numbers are part
// of the program's outside interface (the texts file keys its Greek texts by them, help texts are
// string 14000/15500/16000 + offset), so they never change.
#ifndef WORDMERE_RESOURCE_IDS_H
#define WORDMERE_RESOURCE_IDS_H

// ---- Lookup window (full form 10000) ----
#define IDD_LOOKUP_FULL 10000
#define IDC_SEARCH 137
#define IDC_WORD_LIST 12000
#define IDC_TRANSLATION_LIST 12001
#define IDC_UNUSED_EDIT 12002
#define IDC_WORD_BOX 12003
#define IDC_HINT_LINE 12006
#define IDC_STATUS_LINE 12007
#define IDC_MATCH_COUNT 12008
#define IDC_DICTIONARY_LIST 12011
#define IDC_CAPTION_WORD 25000
#define IDC_CAPTION_DICTIONARY 25001

// ---- String table: search messages ----
#define IDS_SEARCHING_FOR 14501
#define IDS_CANT_FIND_WORD 14502
#define IDS_TOO_MANY_WORDS 14503
#define IDS_THESAURUS_TITLE 14505
#define IDS_GREEK_ENGLISH_TITLE 14506

#endif
