// The one place that holds Quillon's version; quillon.rc builds its version record from it.
#pragma once

#define QUILLON_VERSION_MAJOR 1
#define QUILLON_VERSION_MINOR 0
#define QUILLON_VERSION_PATCH 0
#define QUILLON_VERSION_BUILD 0
#define QUILLON_VERSION_NUMBERS                                                                    \
    QUILLON_VERSION_MAJOR, QUILLON_VERSION_MINOR, QUILLON_VERSION_PATCH, QUILLON_VERSION_BUILD
#define QUILLON_VERSION_TEXT "1.00"

#define QUILLON_PRODUCT_NAME "Quillon"
#define QUILLON_DESCRIPTION "Quillon chat line fader"
#define QUILLON_COMPANY_NAME "Quillon"
#define QUILLON_COPYRIGHT "Copyright (C) 2026 the Quillon authors. MIT License."
