// The string resources that the manager shows; each language's string table (res/lang/) holds them.
#pragma once

#define IDS_NO_DEFAULT_PROMPT 3
#define IDS_SAVERS_OFF        4
