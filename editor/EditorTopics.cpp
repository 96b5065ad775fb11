#include "EditorTopics.h"
#include "resource.h"

const CTopicItem g_editorTopics[] = {
    {IDC_PROBABILITY, "Only above this probability", "Display all fragments exceeding likelihood threshold."},
    {IDC_FRAGMENTS, "Best fragments", "Display top N most likely fragments."},
    {IDC_NEW_REAGENT, "New button", "Add a new reagent to your list."},
    {IDC_EDIT_REAGENT, "Edit button", "Modify the specificity, efficiency values of a reagent."},
    {IDC_REMOVE_REAGENT, "Remove button", "Remove a reagent from your list."},
    {IDC_SORT_PROBABILITY, "Probability", "Rank fragments by probability in Text Pane Folder."},
    {IDC_SORT_WEIGHT, "Fragment weight", "Rank fragments by weight"},
    {IDC_SORT_POSITION, "Position on the molecule", "Rank fragments by order from start of the molecule."},
    {0, NULL, NULL},
};
