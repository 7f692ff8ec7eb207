-- The race course's start: the instructions say how the race finds the other player.
function Init()
    Player.SetInstructions("RACE! Your game finds the other player's on your local network by itself: " ..
        "the line below says where it is looking. Arrow keys turn gravity, SPACE phases through blue walls.")
end
