// The help topics of the settings form's controls.
#pragma once
#include <CTopicItem.h>

// Eight rows, then the end row; shared by every settings form.
extern const CTopicItem g_editorTopics[];
