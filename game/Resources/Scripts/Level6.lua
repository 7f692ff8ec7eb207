-- The world's exam: every skill of the world once more, each stretch ending on a checkpoint.
function Init()
    Tutorial.Start({
        { text = "The exam: turns in mid-fall, RED blocks, checkpoints. Find the way to the goal!" },
    })
end
