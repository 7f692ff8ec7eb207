-- Zones that pull down, up and sideways, and a power-up that beats the weakest of them.
function Init()
    Tutorial.Start({
        { text = "Zones can pull any way. Take the POWER-UP, then rise out of this one with {gravityup}." },
        { x = { 1, 37 }, y = { 11, 27 }, text = "This zone pulls UP: walk on the ceiling, and {walkdown} jumps." },
        { x = { 38, 47 }, y = { 11, 27 }, text = "Pulled onto the wall: walk down with {walkdown}, tap {walkleft} once to jump over the RED, then let go of {walkdown}." },
    })
end
