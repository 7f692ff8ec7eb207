-- Small math helpers shared by every level and entity script.

function Clamp(value, low, high)
    if value < low then return low end
    if value > high then return high end
    return value
end

function Lerp(from, to, t)
    return from + (to - from) * t
end

function Sign(value)
    if value > 0 then return 1 end
    if value < 0 then return -1 end
    return 0
end

function Round(value)
    return math.floor(value + 0.5)
end

function Distance(x1, y1, x2, y2)
    local dx, dy = x2 - x1, y2 - y1
    return math.sqrt(dx * dx + dy * dy)
end

function Approach(value, target, step)
    if value < target then return math.min(value + step, target) end
    return math.max(value - step, target)
end
