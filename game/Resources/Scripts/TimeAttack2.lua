-- The medium course's start: its two ways up.
function Init()
    Player.SetInstructions("MEDIUM COURSE: zigzag up the corridors, or stop dead under a RED shaft " ..
        "and go straight up, SPACE through the BLUE.")
end
