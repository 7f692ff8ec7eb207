// One bar: its look and place on screen, and its entries.
#pragma once

#include <string>

#include "editor/tweakbar/EntryList.h"
#include "editor/tweakbar/ExtraAttributes.h"

namespace Tweak {

class Bar {
public:
    struct Point {
        int x = 0;
        int y = 0;
    };

    // The attributes with an effect. Position and size are the window's, in pixels from the top left.
    struct Settings {
        std::string label;
        Point position{16, 16};
        Point size{240, 320};
        int color[3] = {36, 52, 71};
        int alpha = 230;
        bool iconified = false;
        bool visible = true;
        bool resizable = true;
        bool movable = true;
        int valuesWidth = 110;
    };

    // serial tells bars apart for the whole run, so a bar made again under an old name is a new window.
    Bar(std::string name, unsigned serial);

    const std::string& Name() const { return name_; }
    unsigned Serial() const { return serial_; }
    const Settings& GetSettings() const { return settings_; }
    EntryList& Entries() { return entries_; }
    const EntryList& Entries() const { return entries_; }

    bool SetAttribute(const std::string& name, const std::string& value, std::string& error);
    bool GetAttribute(const std::string& name, std::string& value, std::string& error) const;
    // An entry's attribute; "group" moves it within this bar's tree of groups.
    bool SetEntryAttribute(Entry& entry, const std::string& name, const std::string& value,
                           std::string& error);
    bool GetEntryAttribute(const Entry& entry, const std::string& name, std::string& value,
                           std::string& error) const;

    // The placement the program asked for (position, size, iconified), once after each change and
    // when the bar is shown again; the drawing then reports where the user put the window.
    bool TakePlacementRequest();
    void FollowWindow(Point position, Point size, bool iconified);

private:
    std::string name_;
    unsigned serial_;
    Settings settings_;
    ExtraAttributes extras_;
    EntryList entries_;
    bool placementRequested_ = true;
};

}  // namespace Tweak
