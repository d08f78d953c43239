#pragma once
// Resources of the decode list tests only; clear of the product's ids in res/resource.h.
#define IDD_LIST_TEST 700
#define IDC_TEST_DECODE_LIST 701
#define IDC_TEST_OTHER 702
