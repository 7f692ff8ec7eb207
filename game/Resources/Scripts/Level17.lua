-- Zones that pull down, up and sideways, and a power-up that beats the weakest of them.
function Init()
    Tutorial.Start({
        { text = "Zones can pull any way. Take the POWER-UP, then rise out of this one with UP." },
        { x = { 1, 37 }, y = { 11, 27 }, text = "This zone pulls UP: walk on the ceiling, and S jumps." },
        { x = { 38, 47 }, y = { 11, 27 }, text = "Pulled onto the wall: walk down with S, tap A once to jump over the RED, then let go of S." },
    })
end
