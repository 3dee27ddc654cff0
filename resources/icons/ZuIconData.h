// SPDX-License-Identifier: GPL-3.0-or-later
// Written by make_icon_data.py; edit the shapes there.
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
extern const unsigned char onoffSvgData[];
extern const int onoffSvgDataSize;
extern const unsigned char panelShowSvgData[];
extern const int panelShowSvgDataSize;
extern const unsigned char panelHideSvgData[];
extern const int panelHideSvgDataSize;
extern const unsigned char menuSvgData[];
extern const int menuSvgDataSize;
extern const unsigned char arrowLeftSvgData[];
extern const int arrowLeftSvgDataSize;
extern const unsigned char arrowRightSvgData[];
extern const int arrowRightSvgDataSize;
extern const unsigned char svgFullscreen[];
extern const int svgFullscreenSize;
extern const unsigned char modSvgData[];
extern const int modSvgDataSize;
extern const unsigned char svgKey[];
extern const int svgKeySize;
extern const unsigned char svgChordData[];
extern const int svgChordDataSize;
extern const unsigned char svgLockCloseData[];
extern const int svgLockCloseDataSize;
extern const unsigned char svgLockOpenData[];
extern const int svgLockOpenDataSize;
extern const unsigned char svgMetronome[];
extern const int svgMetronomeSize;
extern const unsigned char svgPlusMinus[];
extern const int svgPlusMinusSize;
extern const unsigned char svgCloseData[];
extern const int svgCloseDataSize;
extern const unsigned char svgSortData[];
extern const int svgSortDataSize;
extern const unsigned char svgEraserData[];
extern const int svgEraserDataSize;
extern const unsigned char svgKeyData[];
extern const int svgKeyDataSize;
extern const unsigned char svgGrabMode2[];
extern const int svgGrabMode2Size;
extern const unsigned char svgScrollMode[];
extern const int svgScrollModeSize;
extern const unsigned char svgSlide[];
extern const int svgSlideSize;
extern const unsigned char svgForeBackArrow[];
extern const int svgForeBackArrowSize;
extern const unsigned char svgForeBackArrow2[];
extern const int svgForeBackArrow2Size;
extern const unsigned char rightSvgData[];
extern const int rightSvgDataSize;
extern const unsigned char leftSvgData[];
extern const int leftSvgDataSize;
extern const unsigned char upSvgData[];
extern const int upSvgDataSize;
extern const unsigned char downSvgData[];
extern const int downSvgDataSize;
extern const unsigned char diceSvgData[];
extern const int diceSvgDataSize;
extern const unsigned char undoSvgData[];
extern const int undoSvgDataSize;
extern const unsigned char redoSvgData[];
extern const int redoSvgDataSize;
extern const unsigned char pwr2SvgData[];
extern const int pwr2SvgDataSize;
extern const unsigned char muteSvgData[];
extern const int muteSvgDataSize;
extern const unsigned char doorSvgData[];
extern const int doorSvgDataSize;
extern const unsigned char lock1SvgData[];
extern const int lock1SvgDataSize;
extern const unsigned char lock2SvgData[];
extern const int lock2SvgDataSize;
extern const unsigned char svgEditData[];
extern const int svgEditDataSize;
extern const unsigned char svgRelMode[];
extern const int svgRelModeSize;
extern const unsigned char svgPhi[];
extern const int svgPhiSize;
extern const unsigned char svgExp[];
extern const int svgExpSize;
extern const unsigned char svgSat[];
extern const int svgSatSize;
extern const unsigned char svgSc[];
extern const int svgScSize;
extern const unsigned char svgSc2[];
extern const int svgSc2Size;
extern const unsigned char svgModAdd[];
extern const int svgModAddSize;
extern const unsigned char svgArw[];
extern const int svgArwSize;
extern const unsigned char dragIconSvgData[];
extern const int dragIconSvgDataSize;
extern const unsigned char ddSvg[];
extern const int ddSvgSize;
extern const unsigned char svgPlus[];
extern const int svgPlusSize;
extern const unsigned char svgMidiFile[];
extern const int svgMidiFileSize;

struct Entry
{
    const char* name;
    const unsigned char* data;
    int size;
};

extern const Entry all[];
extern const int numIcons;
} // namespace ZuIconData
