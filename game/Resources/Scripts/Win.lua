-- The result screen's words.
function Init()
    Engine.PostSomeText("Well played! Press ENTER to return to the menu.")
end
