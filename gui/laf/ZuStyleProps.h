// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Style properties: named values in a widget's own property set through which
// panels steer the look-and-feel members. This is the one home of the names
// and their encodings:
//   colour   the text of juce::Colour::toString() (a leading "0x" is accepted);
//   real     a var holding a double;
//   integer  a var holding an int;
//   text     a var holding a string.
// Members read them at paint time with getWithDefault and their own default;
// nothing listens for changes, the next paint shows a new value.
namespace ZuStyle
{
// Colours of the widget.
inline const juce::Identifier bgcolor{"bgcolor"};
inline const juce::Identifier outlinecolor{"outlinecolor"};
inline const juce::Identifier focuscolor{"focuscolor"};
inline const juce::Identifier bglayercolor{"bglayercolor"};
inline const juce::Identifier textcolor{"textcolor"};
inline const juce::Identifier svgoncolor{"svgoncolor"};
inline const juce::Identifier thumbbgcolor{"thumbbgcolor"};

// Text and shape.
inline const juce::Identifier fontface{"fontface"};
inline const juce::Identifier fontsize{"fontsize"};
inline const juce::Identifier popupfontsize{"popupfontsize"};
inline const juce::Identifier corner{"corner"};
inline const juce::Identifier corner_l{"corner_l"};
inline const juce::Identifier corner_r{"corner_r"};
inline const juce::Identifier corner_t{"corner_t"};
inline const juce::Identifier corner_b{"corner_b"};
inline const juce::Identifier curvefactor{"curvefactor"};
inline const juce::Identifier reducefactor{"reducefactor"};
inline const juce::Identifier arrowsize{"arrowsize"};
inline const juce::Identifier arrowflag{"arrowflag"};
inline const juce::Identifier scale{"scale"};
inline const juce::Identifier svgname{"svgname"};
inline const juce::Identifier svgflag{"svgflag"};
inline const juce::Identifier barflag{"barflag"};
inline const juce::Identifier bipolar{"bipolar"};
inline const juce::Identifier maxval{"maxval"};

// Modulation state written on a knob's main slider.
inline const juce::Identifier iscenter{"iscenter"};
inline const juce::Identifier mod1{"Mod1"};
inline const juce::Identifier mod2{"Mod2"};
inline const juce::Identifier polindex1{"polindex1"};
inline const juce::Identifier polindex2{"polindex2"};
inline const juce::Identifier mod1trkcolor{"mod1trkcolor"};
inline const juce::Identifier mod2trkcolor{"mod2trkcolor"};
inline const juce::Identifier modsrc{"modsrc"};
inline const juce::Identifier polindex{"polindex"};
inline const juce::Identifier indicator{"indicator"};

// Identification and content values.
inline const juce::Identifier uniti{"uniti"};
inline const juce::Identifier stepindex{"stepindex"};
inline const juce::Identifier dispnote{"dispnote"};
inline const juce::Identifier labeltext{"labeltext"};
inline const juce::Identifier index{"index"};
inline const juce::Identifier snapindex{"snapindex"};
inline const juce::Identifier seqidindex{"seqidindex"};
inline const juce::Identifier unitindex{"unitindex"};
inline const juce::Identifier state{"state"};

// Readers: the property of the component, or the reader's own default.
inline juce::Colour colour(const juce::Component& c, const juce::Identifier& name, juce::Colour fallback)
{
    const auto* v = c.getProperties().getVarPointer(name);
    if (v == nullptr)
        return fallback;
    return juce::Colour((juce::uint32) v->toString().getHexValue32());
}

inline float real(const juce::Component& c, const juce::Identifier& name, float fallback)
{
    return c.getProperties().getWithDefault(name, fallback).toString().getFloatValue();
}

inline double realDouble(const juce::Component& c, const juce::Identifier& name, double fallback)
{
    return c.getProperties().getWithDefault(name, fallback).toString().getDoubleValue();
}

inline int integer(const juce::Component& c, const juce::Identifier& name, int fallback)
{
    return c.getProperties().getWithDefault(name, fallback).toString().getIntValue();
}

inline juce::String text(const juce::Component& c, const juce::Identifier& name, const juce::String& fallback)
{
    return c.getProperties().getWithDefault(name, fallback).toString();
}

// Writers, in the encodings above.
inline void setColour(juce::Component& c, const juce::Identifier& name, juce::Colour value)
{
    c.getProperties().set(name, value.toString());
}

inline void setReal(juce::Component& c, const juce::Identifier& name, float value)
{
    c.getProperties().set(name, (double) value);
}
} // namespace ZuStyle
