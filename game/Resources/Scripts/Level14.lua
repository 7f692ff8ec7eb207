-- The turning zone: the pull follows a fresh arrow key, and the player walks on walls.
function Init()
    Tutorial.Start({
        { text = "This zone turns! An arrow key sends its pull that way. Land before the next turn." },
        { x = { 19, 23 }, y = { 1, 14 }, text = "On a wall, {walkup} and {walkdown} walk and the key away from the wall jumps." },
        { y = { 44, 71 }, text = "Climb until you are level with the YELLOW window, then send the pull its way." },
    })
end
