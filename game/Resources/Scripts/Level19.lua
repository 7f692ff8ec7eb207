-- The first box: it turns with the player's gravity, and in a strong zone it is the only way up a
-- high step.
function Init()
    Tutorial.Start({
        { text = "The wooden BOX falls with your gravity when it is near you. Take it along!" },
        { x = { 7, 45 }, y = { 0, 11 }, text = "This strong GRAVITY ZONE holds you down. Push the BOX to the step with A and D, then jump onto it with W." },
    })
end
