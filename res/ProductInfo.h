#pragma once
// The maker's pages and the about box's texts, in one place for the resources and the code alike.

#include "res/Version.h"

#define TAVREL_VERSION_LINE "Tavrel " TAVREL_VERSION_TEXT
#define TAVREL_HOME_PAGE "https://tavrel.morvind.net/"
#define TAVREL_SUPPORT_ADDRESS "support@morvind.net"
#define TAVREL_SUPPORT_MAIL_LINK "mailto:" TAVREL_SUPPORT_ADDRESS "?subject=Tavrel"
#define TAVREL_ABOUT_TAGLINE "Sets your clock by the stations you hear."
