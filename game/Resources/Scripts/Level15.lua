-- The power-up: a stronger pull that beats the zone the arrow keys could not.
function Init()
    Tutorial.Start({
        { text = "This GRAVITY ZONE is stronger than your {gravity}. Jump to the POWER-UP!" },
        { x = { 23, 40 }, y = { 0, 9 }, text = "Your pull now beats the zone and your ring reaches farther. Hold {gravityup} under the opening!" },
        { y = { 10, 25 }, text = "Stop over the ledge by the RED shaft, drop onto it with {gravitydown}, let go, then hold only {gravityleft} to drift across." },
    })
end
