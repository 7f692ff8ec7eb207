-- Walking, jumping and turning: floor and ceiling take turns being red.
function Init()
    Tutorial.Start({
        { text = "The floor ahead is RED. Send the pull UP and walk on the ceiling: there S jumps." },
        { x = { 26, 30 }, text = "Now the ceiling turns RED: back down to the floor." },
        { x = { 43, 48 }, text = "RED above and below: jump, and turn the pull RIGHT while in the air." },
    })
end
