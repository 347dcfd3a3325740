#pragma once

// Resource ids shared by the resource script and the code.
#define kBarIconId 1
#define kSettingsIconId 2
