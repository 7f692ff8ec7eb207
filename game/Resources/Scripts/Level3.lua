-- Magenta walls appear: phase walls like the blue ones.
function Init()
    Tutorial.Start({
        { x = { 9, 13 }, y = { 3.5, 9 }, text = "MAGENTA walls phase like BLUE ones. Hold SPACE until you are through!" },
    })
end
