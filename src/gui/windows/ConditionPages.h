#pragma once
// The four pages of the conditions window.

#include "windows/DuplicatesPage.h"
#include "windows/LimitPage.h"
#include "windows/RangePage.h"
