// Identifiers of the plug-in's dialog templates and their controls.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Settings form
#define IDD_CLEAVAGE_EDITOR     8000
#define IDC_MOL_NAME            2278
#define IDC_RANGE_ONLY          5009
#define IDC_RANGE_FROM          5010
#define IDC_RANGE_TO            5011
#define IDC_NEW_REAGENT         8000
#define IDC_REMOVE_REAGENT      8001
#define IDC_EDIT_REAGENT        8002
#define IDC_REAGENT_LIST        8003
#define IDC_PROBABILITY         8012
#define IDC_ABOVE_PROBABILITY   8013
#define IDC_BEST_FRAGMENTS      8014
#define IDC_FRAGMENTS           8016
#define IDC_USE_DEFAULTS        8021
#define IDC_TOTAL               8022
#define IDC_SORT_PROBABILITY    8030
#define IDC_SORT_WEIGHT         8031
#define IDC_SORT_POSITION       8032
