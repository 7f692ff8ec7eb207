// The notice line, and the wait for ENTER after a result: a race's goes on to the result screen, a
// time attack's plays the course again at once (or ESC goes back to the courses).
#pragma once

#include <string>

#include "logic/GameComponent.h"
#include "logic/ScreenText.h"

namespace Logic {

class NotificationComponent : public GameComponent {
public:
    // Creates the notice line.
    NotificationComponent();

    void Bind() override;
    void Init() override {}
    // While a result waits, ENTER goes on to the result screen, or the retry's choice is read.
    void Update(float dt) override;

    void INowWin() { waitForEnter = true; }
    // A time attack's result: ENTER starts `course` over, ESC returns to the course menu.
    void OfferRetry(const std::string& course) {
        waitForEnter = true;
        retryCourse = course;
        chosen = false;
    }
    bool IsOfferingRetry() const { return waitForEnter && !retryCourse.empty(); }
    void Show(const std::string& notice) { text->text = notice; }
    const std::string& GetShown() const { return text->text; }
    bool IsWaitingForEnter() const { return waitForEnter; }

    // The course menu's level, where ESC after a time attack's result goes.
    static constexpr const char* kCourseMenu = "Courses";

private:
    void ReadRetryChoice();
    void Leave(const std::string& level);

    ScreenText text;
    bool waitForEnter = false;
    std::string retryCourse;  // empty: ENTER goes on to the result screen
    // The choice is made and its level asked for; the offer stands until the level goes, so the
    // ESC that chose the courses does not open the pause menu in the same tick.
    bool chosen = false;
};

}  // namespace Logic
