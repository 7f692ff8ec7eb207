// The course selection of the mode picked before (time attack or race): one button a course with
// its best time, the selected course's target on a line under the buttons, and back to the mode
// selection (also ESC). The chosen course starts in that mode; a race course also tells the
// network which course to pair on, so that only a peer on the same course is raced.
#pragma once

#include <string>
#include <vector>

#include "logic/Courses.h"
#include "logic/screens/Menu.h"
#include "logic/screens/MenuNotice.h"
#include "logic/screens/Screen.h"

namespace Logic {

class CourseMenu : public Screen {
public:
    CourseMenu();

    void Init() override;
    void Update(float dt) override;

    // A course's button text: its title and best time in the player's words.
    static std::string ButtonText(const Courses::Course& course, float bestSeconds);
    // The line under the buttons: the selected course's target, blank on "[back]".
    const std::string& GetNotice() const { return notice.GetShown(); }

private:
    // One button a course, from the "button" archetype, above "[back]".
    void CreateCourseButtons();
    void StartCourse(const Courses::Course& course);
    void ShowTarget();

    int mode = 0;  // a WinType, read from the game flow
    std::vector<Courses::Course> courses;
    Menu menu;
    MenuNotice notice;
};

}  // namespace Logic
