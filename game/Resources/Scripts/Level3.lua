-- Red blocks: every way on is just before something red, so the lesson is stopping in time.
function Init()
    Tutorial.Start({
        { text = "RED blocks send you back to the start when you hit them. Hit nothing RED!" },
        { x = { 12, 30 }, y = { 1, 5 }, text = "Let go, or press the opposite arrow, to stop. Go {gravityup} before the RED wall!" },
        { x = { 34, 39 }, y = { 6, 10 }, text = "Stop below the RED ceiling, then fly LEFT." },
        { x = { 21, 34 }, y = { 10, 14 }, text = "The goal is under the gap in the RED floor. Drop in as you pass over it!" },
    })
end
