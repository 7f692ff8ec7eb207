-- Walking and jumping inside a gravity zone that the arrow keys cannot overpower.
function Init()
    Tutorial.Start({
        { text = "This striped GRAVITY ZONE pulls harder than your {gravity}. Walk with {walkleft} and {walkright}, jump with {walkup}!" },
        { x = { 8, 20 }, spot = { x = { 20, 22 }, y = { 0, 2 } }, text = "Jump the RED gap: run at it with {walkright} and press {walkup} at the edge." },
        { x = { 27, 31 }, spot = { x = { 33, 48 }, y = { 3, 5 } }, text = "A low RED ceiling: walk through without jumping." },
        { x = { 40, 55 }, spot = { x = { 55, 58 }, y = { 0, 6 } }, text = "A wide gap under a RED ceiling: take a run-up and jump with {walkup} at the very last moment." },
    })
end
