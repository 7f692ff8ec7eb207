-- The first box: it turns with the player's gravity, and in a strong zone it is the only way up out
-- of the hole in the low tunnel's roof.
function Init()
    Tutorial.Start({
        { text = "The wooden BOX falls with your gravity when it is near you. Take it along!" },
        { x = { 7, 45 }, y = { 0, 11 }, spot = { x = { 17, 30 }, y = { 0, 4 } }, text = "This strong GRAVITY ZONE holds you down. Push the BOX with {walkright} and let go so it stops under the hole, then jump onto it and out with {walkup}." },
    })
end
