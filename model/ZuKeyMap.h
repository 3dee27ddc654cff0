// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>

#include <unordered_map>

// A model's key map: key (or identifier) to model index. It is the same for
// every instance of a model class, so each class builds it once per process
// (a function's static, built by whichever instance asks first, on any
// thread) and every instance reads that one map; nothing changes it after it
// is built. An instance whose map is not made yet reads an empty one.
class ZuKeyMap
{
public:
    using Map = std::unordered_map<juce::String, int>;

    void share(const Map& builtOnce) noexcept { map = &builtOnce; }

    // The map build (void (Map&)) fills, made by the first call from each
    // place (each lambda is its own type) and kept until the process ends.
    template <class Build> static const Map& once(Build&& build)
    {
        static const Map made = [&build]
        {
            Map m;
            build(m);
            return m;
        }();
        return made;
    }

    const Map& get() const noexcept { return *map; }
    operator const Map&() const noexcept { return *map; }
    size_t size() const noexcept { return map->size(); }
    bool empty() const noexcept { return map->empty(); }
    Map::const_iterator begin() const noexcept { return map->begin(); }
    Map::const_iterator end() const noexcept { return map->end(); }
    Map::const_iterator find(const juce::String& key) const { return map->find(key); }
    size_t count(const juce::String& key) const { return map->count(key); }

private:
    static const Map& none()
    {
        static const Map empty;
        return empty;
    }
    const Map* map = &none();
};
