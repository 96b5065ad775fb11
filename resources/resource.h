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

// Reagent dialog
#define IDD_ENZYME_DIALOG           8001
#define IDC_REAGENT_NAME            8004
#define IDC_RECOGNITION_LIST        8005
#define IDC_ADD_RECOGNITION         8006
#define IDC_DELETE_RECOGNITION      8007
#define IDC_EXCEPTION_LIST          8008
#define IDC_ADD_EXCEPTION           8009
#define IDC_DELETE_EXCEPTION        8010
#define IDC_EXCEPTION_EFFICIENCY    8011
#define IDC_RECOGNITION_EFFICIENCY  8012
#define IDC_RECOGNITION_LEFT        8023
#define IDC_RECOGNITION_RIGHT       8024
#define IDC_EXCEPTION_LEFT          8028
#define IDC_EXCEPTION_RIGHT         8029
