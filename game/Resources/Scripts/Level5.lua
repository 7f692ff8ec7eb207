-- The first box: it turns with the player's gravity and makes a step to climb.
function Init()
    Tutorial.Start({
        { text = "The wooden BOX falls with your gravity when it is near you. Take it along!" },
        { x = { 0, 32 }, y = { 0, 8.5 }, text = "Push the BOX to the step with A and D, then jump onto it with W." },
    })
end
