-- Walking, jumping and turning: floor and ceiling take turns being red.
function Init()
    Tutorial.Start({
        { text = "The floor ahead drops into RED. Send the pull UP and walk on the ceiling: there {walkdown} jumps." },
        { x = { 26, 30 }, text = "The ceiling gives way to RED: back down to the floor." },
        { x = { 43, 48 }, text = "RED above and below: jump, and turn the pull RIGHT while in the air." },
        { x = { 78, 91 }, text = "Past the slot only on foot: walk the ceiling, jump the RED gap with {walkdown}, then let the pull lift you." },
    })
end
