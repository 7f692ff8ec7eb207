-- The long course's start: its two ways up.
function Init()
    Player.SetInstructions("LONG COURSE: weave round the pillars, or stop dead under each RED shaft " ..
        "and go straight up, SPACE through the BLUE.")
end
