-- Arrows and the box: they turn everything inside your ring, so the updraft lifts the box with you.
function Init()
    Tutorial.Start({
        { text = "The ORANGE arrows turn your BOX too, while it is inside your ring. Keep it close!" },
        { x = { 4, 10 }, y = { 0, 6 }, text = "Ride the updraft with the BOX beside you." },
        { x = { 10, 38 }, y = { 7, 21 }, text = "Push the BOX to the step and climb. Jump the RED pits, but never under the low RED ceiling!" },
    })
end
