// Form views.
#pragma once
#include "afxwin.h"
#include "afx/CFormView.h"
