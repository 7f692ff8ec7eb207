-- Walking and jumping inside a gravity zone that the arrow keys cannot overpower.
function Init()
    Tutorial.Start({
        { text = "This striped GRAVITY ZONE pulls harder than your {gravity}. Walk with {walkleft} and {walkright}, jump with {walkup}!" },
        { x = { 14, 20 }, text = "Jump the RED gap: run at it with {walkright} and press {walkup} at the edge." },
        { x = { 27, 31 }, text = "A low RED ceiling: walk through without jumping." },
        { x = { 50, 55 }, text = "A wide gap under a RED ceiling: take a run-up and jump with {walkup} at the very last moment." },
    })
end
