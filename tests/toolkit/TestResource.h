// Dialog templates of the toolkit's window tests.
#pragma once

#define IDD_TEST_DIALOG       100
#define IDC_TEST_NAME         1001
#define IDC_TEST_CHECK        1002
#define IDC_TEST_RADIO_FIRST  1003
#define IDC_TEST_RADIO_SECOND 1004
#define IDC_TEST_RADIO_THIRD  1005
#define IDC_TEST_LIST         1006

#define IDD_TEST_FORM         101
#define IDC_TEST_FORM_EDIT    1010
#define IDC_TEST_FORM_BOTTOM  1011
