// The largest 32-bit signed integer, which the plug-in uses as a marker: the fragment
// limit "All", the bound of every library read loop, and an unreadable position label.
#pragma once

const int kMarkerValue = 2147483647;
