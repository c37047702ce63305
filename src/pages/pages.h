#pragma once
// Everything the shell needs to host the three calculation pages.

#include "pages/catalogue.h"
#include "pages/constant_page.h"
#include "pages/platform.h"
#include "pages/saturated_page.h"
#include "pages/superheated_page.h"
