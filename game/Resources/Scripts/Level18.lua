-- Everything together: walking and jumping in a zone, the power-up, and a turning tower.
function Init()
    Tutorial.Start({
        { text = "Everything at once: walk, jump, power up and turn. Find the way to the top of the tower." },
        { x = { 40, 71 }, y = { 12, 31 }, text = "The tower turns with a fresh arrow key. Land before the next turn." },
        { x = { 40, 71 }, y = { 32, 45 }, text = "Walk down a wall and turn the pull a little ABOVE the YELLOW window: your fall carries on across." },
    })
end
