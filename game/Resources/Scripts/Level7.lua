-- A zone the player turns: walking on floor, ceiling and walls with A, D, W and S.
function Init()
    Tutorial.Start({
        { text = "This whole room is a GRAVITY ZONE. Walk with A and D, jump with W." },
        { x = { 7, 42 }, text = "This zone turns! An arrow key sends its pull that way. Land before the next turn." },
        { x = { 34, 42 }, text = "On a wall, W and S walk and the key away from the wall jumps." },
    })
end
