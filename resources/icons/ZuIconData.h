// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The editor's icon library: every icon as path data in the stream format
// juce::Path::loadPathFromData reads, drawn in a 24 x 24 box. Panels and
// look-and-feel members load them by name; the contact-sheet test renders
// every entry of `all`.
namespace ZuIconData
{
extern const unsigned char svgFile[];
extern const int svgFileSize;
extern const unsigned char svgFolder[];
extern const int svgFolderSize;
extern const unsigned char infoSvgData[];
extern const int infoSvgDataSize;

struct Entry
{
    const char* name;
    const unsigned char* data;
    int size;
};

extern const Entry all[];
extern const int numIcons;
} // namespace ZuIconData
