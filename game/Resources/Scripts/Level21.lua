-- Arrow tiles (drawn magenta): they turn your gravity while you touch them, whatever keys you hold.
function Init()
    Tutorial.Start({
        { text = "These ORANGE blocks are ARROWS: inside them your gravity turns their way, whatever keys you hold." },
        { x = { 29, 37 }, y = { 19, 24 }, text = "Too strong from here? Take a long run-up from the far end of the tunnel." },
        { x = { 9, 24 }, y = { 0, 6 }, text = "Hold {gravityleft} while the arrows lift you, or you hit the RED ceiling above." },
    })
end
