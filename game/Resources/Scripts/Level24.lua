-- The final test: every idea of the game on one long way down.
function Init()
    Tutorial.Start({
        { text = "The final test: everything you have learned, on one long way down. Good luck!" },
        { x = { 8, 42 }, y = { 20, 24 }, text = "The ORANGE current pushes back. The fall down the shaft gives you a run-up." },
        { x = { 1, 4 }, y = { 10, 28 }, text = "A GREEN checkpoint waits at the bottom. The BOX up in its chute is next." },
    })
end
