// Resource identifiers of the broken-entries list.
#pragma once

#define IDD_BROKEN_LINKS 7701
#define IDC_LINKS_SUMMARY 7710
#define IDC_LINKS_LIST 7711
#define IDC_LINKS_PROPERTIES 7712
#define IDC_LINKS_DELETE 7713
